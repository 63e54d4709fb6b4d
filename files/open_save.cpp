#include "open_save.h"
