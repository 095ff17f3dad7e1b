#include "app/ObjectKinds.h"

#include "objects/CardObjects.h"

void RegisterObjectKinds() {
    // Each object folder's registration, as its kinds land.
    RegisterCardObjects();
}
