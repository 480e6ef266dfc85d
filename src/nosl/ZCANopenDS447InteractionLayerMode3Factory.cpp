#include "nosl/ZCANopenDS447InteractionLayerFactory.h"

void ZCANopenDS447InteractionLayerMode3Factory::createModeFunctions(FunctionList&) {}
