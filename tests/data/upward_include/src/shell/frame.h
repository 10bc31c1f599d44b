#pragma once
#include "objects/object.h"
