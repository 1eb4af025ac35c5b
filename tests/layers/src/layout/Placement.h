// Layout may use the model.
#include "rtf/Model.h"
