#include "studio/ProjectFile.h"
