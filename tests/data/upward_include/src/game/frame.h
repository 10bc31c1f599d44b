#pragma once
#include "sim/object.h"
