#include "platform/HelpRequest.h"

namespace {
std::function<void(int)>& handler() {
    static std::function<void(int)> h;
    return h;
}
int lastRequest = 0;
} // namespace

void RequestHelp(int context) {
    lastRequest = context;
    if (handler())
        handler()(context);
}

void SetHelpHandler(std::function<void(int)> h) {
    handler() = std::move(h);
}

int LastHelpRequest() {
    return lastRequest;
}
