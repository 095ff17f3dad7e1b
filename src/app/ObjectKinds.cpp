#include "app/ObjectKinds.h"

#include "objects/DrawingObjects.h"

void RegisterObjectKinds() {
    // Each object folder adds its registration call here as its kinds land.
    RegisterDrawingObjects();
}
