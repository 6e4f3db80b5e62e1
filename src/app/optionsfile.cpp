#include "app/optionsfile.h"
