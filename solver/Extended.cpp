// The extended type is defined inline in its header; this file compiles the header on its own.

#include "solver/Extended.h"
