#include "app/ObjectKinds.h"

#include "effects/EffectObjects.h"
#include "objects/CardObjects.h"

void RegisterObjectKinds() {
    RegisterCardObjects();
    RegisterEffectObjects();
}
