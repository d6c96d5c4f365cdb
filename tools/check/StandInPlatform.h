// What a platform that stands in for Windows (the checker's, the unit
// tests' fake) shares: its EndProcess only pretends to end the process and
// throws ProcessEnded, Attempt says how launcher code came back, as the
// launcher's entry point would have seen it, and its pictures are of a type
// of its own.
#pragma once

#include <memory>
#include <optional>

#include "platform/Failure.h"
#include "platform/PlatformServices.h"

namespace orvex::check {

// Thrown where the launcher's process would end.
struct ProcessEnded {
  ExitStatus status;
};

// It returned, it ended the process, or a Failure escaped it (bound for the
// fatal report).
struct Outcome {
  std::optional<ExitStatus> ended;
  std::optional<Failure> failure;

  bool Returned() const { return !ended && !failure; }
};

template <typename Work>
Outcome Attempt(Work&& work) {
  Outcome outcome;
  try {
    work();
  } catch (const ProcessEnded& end) {
    outcome.ended = end.status;
  } catch (const Failure& failure) {
    outcome.failure = failure;
  }
  return outcome;
}

// Only the Windows platform defines Picture; a stand-in passes a picture of
// its own type through PicturePtr, which keeps it alive, and gets it back
// with PictureAs.
template <typename Own>
PicturePtr WrapPicture(std::shared_ptr<Own> own) {
  Picture* const opaque = static_cast<Picture*>(static_cast<void*>(own.get()));
  return PicturePtr(std::move(own), opaque);
}

template <typename Own>
const Own& PictureAs(const PicturePtr& picture) {
  return *static_cast<const Own*>(static_cast<const void*>(picture.get()));
}

}  // namespace orvex::check
