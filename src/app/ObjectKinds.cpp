#include "app/ObjectKinds.h"

#include "objects/CardObjects.h"

void RegisterObjectKinds() {
    RegisterCardObjects();
}
