#include "tape/cas_decode.h"
