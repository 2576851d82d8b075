#include "core/engine/Session.h"

namespace tessary {

Session::Session(const Platform& platform)
    : settings(platform.settings),
      progress(platform.progressWindow),
      messages(platform.presenter),
      reference(progress),
      store(reference, progress),
      display(platform.folders),
      file(PatternFile::Parts{store, reference, options, display, settings, messages, progress}, platform.dateText) {
    RestoreDisplaySetup(display, settings);
    RestoreOptions(options, settings);
}

}  // namespace tessary
