#include "platform/thread.h"

namespace thread_layer {

void SuspensionPoint() {}

}  // namespace thread_layer
