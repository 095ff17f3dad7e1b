#include "app/ObjectKinds.h"

#include "effects/LetteringObjects.h"
#include "objects/CardObjects.h"

void RegisterObjectKinds() {
    RegisterCardObjects();
    RegisterLetteringObjects();
}
