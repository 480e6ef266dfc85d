#pragma once

#include "core/RunSettings.h"
#include "nosl/ZCoNoslFunction.h"
#include "util/Paths.h"

int width(int bits[2]) { return bits[0]; }  // ; [ ] \
#include <vector>
  #  include "app/Generation.h"
