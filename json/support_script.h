#pragma once
// The script every JsonObject engine instance is loaded with: the helpers
// get__count, get__name_All and get__extend, and a JSON supplement that
// installs only what the engine lacks.
#include "platform/text.h"

namespace json {

const Text& SupportScript();

}  // namespace json
