#include "handlers.h"

namespace app {

// Events whose handler is not listed here stay unbound.
const rt::HandlerEntry kHandlers[] = {
    {nullptr, nullptr},
};
const int kHandlerCount = 0;

}  // namespace app
