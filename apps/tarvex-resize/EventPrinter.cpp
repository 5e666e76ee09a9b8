#include "EventPrinter.h"

namespace s::cli {

void EventPrinter::onJobEvent(const s::job::JobEvent& event) {
    if (event.name == s::job::JobEvent::kUpdate)
        std::fprintf(out_, "%s %d %d %s\n", event.name, event.argument1, event.argument2,
                     event.text ? event.text->c_str() : "");
    else
        std::fprintf(out_, "%s\n", event.name);
    std::fflush(out_);
}

}  // namespace s::cli
