#include "encode/convert_source.h"
