#include "model/AllObjects.h"

#include "model/ObjectBase.h"

namespace kr6 {

TCustomdex6Object* TAllObjects::Next(const TCustomdex6Object* Object) {
    return Object->FNextObject;
}

void TAllObjects::Add(TCustomdex6Object* Object) {
    Object->FPrevObject = FLast;
    Object->FNextObject = nullptr;
    if (FLast != nullptr)
        FLast->FNextObject = Object;
    else
        FFirst = Object;
    FLast = Object;
    ++FCount;
}

void TAllObjects::Remove(TCustomdex6Object* Object) {
    if (Object->FPrevObject != nullptr)
        Object->FPrevObject->FNextObject = Object->FNextObject;
    else
        FFirst = Object->FNextObject;
    if (Object->FNextObject != nullptr)
        Object->FNextObject->FPrevObject = Object->FPrevObject;
    else
        FLast = Object->FPrevObject;
    Object->FPrevObject = nullptr;
    Object->FNextObject = nullptr;
    --FCount;
}

} // namespace kr6
