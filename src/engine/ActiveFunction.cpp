#include "engine/ActiveFunction.h"

namespace zw::engine {

ActiveFunction active;

}  // namespace zw::engine
