#include "app/ObjectKinds.h"

#include "objects/CardObjects.h"
#include "objects/DrawingObjects.h"

void RegisterObjectKinds() {
    // Each object folder's registration, as its kinds land.
    RegisterCardObjects();
    RegisterDrawingObjects();
}
