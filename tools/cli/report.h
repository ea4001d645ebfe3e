// Output: every result is one JSON object, printed as such with --json or as aligned text.
#pragma once

#include <nlohmann/json.hpp>

#include "results.h"
#include "zefraapi.h"

namespace zcli {

using Doc = nlohmann::ordered_json;

void emit(const Doc& doc, bool json);
// A failure goes to stderr as text, or to stdout as a JSON document of its own.
void emitFailure(const Failure& failure, bool json);

Doc toDoc(const PointRecord& p);
Doc toDoc(const RobP& p);
Doc toDoc(const RobJP& p);

}  // namespace zcli
