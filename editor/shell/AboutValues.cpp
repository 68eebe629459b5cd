#include "editor/shell/AboutValues.h"

#include "editor/shell/DocumentLifecycle.h"

namespace miravo {

AboutValues AboutValuesOf(bool soundEngineActive) {
    return {.version = UiText("バージョン ") + UiText::FromUtf8(VersionText()),
            .soundEngine = soundEngineActive ? "サウンドエンジン: MVSound (使用中)"
                                             : "サウンドエンジン: なし (音声の試聴はできません)"};
}

} // namespace miravo
