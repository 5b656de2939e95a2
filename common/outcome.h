#pragma once

namespace orvano {

// How an operation ended. Why it failed is already in the log.
enum class Outcome { Success, Failure };

}  // namespace orvano
