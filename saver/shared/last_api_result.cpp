#include "saver/shared/last_api_result.h"

std::int32_t LastApiResult = 0;
