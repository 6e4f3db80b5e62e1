#include "app/languagefile.h"
