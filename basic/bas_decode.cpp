#include "basic/bas_decode.h"
