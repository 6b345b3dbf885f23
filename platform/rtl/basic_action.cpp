#include "platform/rtl/basic_action.h"

bool TBasicAction::Execute() {
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}
