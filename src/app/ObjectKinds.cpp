#include "app/ObjectKinds.h"

#include "objects/CardObjects.h"

void RegisterObjectKinds() {
    // Each object folder adds its registration call here as its kinds land.
    RegisterCardObjects();
}
