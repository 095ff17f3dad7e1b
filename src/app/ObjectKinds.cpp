#include "app/ObjectKinds.h"

void RegisterObjectKinds() {
    // Each object folder adds its registration call here as its kinds land.
}
