#include "saver/shared/last_api_result.h"

namespace shared {

std::int32_t LastApiResult = 0;

}  // namespace shared
