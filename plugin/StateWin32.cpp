#include "plugin/StateWin32.h"

namespace casemount {

State state;

} // namespace casemount
