#include "core/engine/Session.h"

namespace tessary {

Session::Session(const Platform& platform)
    : settings(platform.settings),
      progress(platform.progressWindow),
      messages(platform.presenter),
      mirror(progress),
      store(mirror, progress),
      display(platform.folders),
      file(PatternFile::Parts{store, mirror, options, display, settings, messages, progress}, platform.dateText) {
    RestoreDisplaySetup(display, settings);
    RestoreOptions(options, settings);
}

}  // namespace tessary
