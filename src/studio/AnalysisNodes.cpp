#include "studio/AnalysisNodes.h"
