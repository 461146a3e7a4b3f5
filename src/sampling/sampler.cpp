#include "sampling/sampler.h"

#include "app/shared.h"

void StartSampler() {
    StopFlag.store(false);
}

bool FinishSampler() {
    return true;
}
