#include "decode/operations.h"
