// The headless presenter keeps the last frame only (see platform/presenter.h).
#include <memory>

#include "platform/presenter.h"

namespace platform {

std::unique_ptr<Presenter> CreateHeadlessPresenter() { return std::make_unique<Presenter>(); }

}  // namespace platform
