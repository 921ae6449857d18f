#include "saver/startup/last_api_result.h"

std::int32_t LastApiResult = 0;
