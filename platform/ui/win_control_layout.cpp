#include "platform/rtl/flag_scope.h"
#include "platform/ui/win_control.h"

void TWinControl::Realign() {
    AlignControls();
    Invalidate();
}

void TWinControl::Resize() {
    if (!scaling_) {
        AnchorControls(lastClientWidth_, lastClientHeight_);
        AlignControls();
    }
    lastClientWidth_ = ClientWidth();
    lastClientHeight_ = ClientHeight();
    TControl::Resize();
}

void TWinControl::AlignControls() {
    if (aligning_ || scaling_)
        return;
    TFlagScope aligning(aligning_);
    TRect r = ClientRect();
    AdjustClientRect(r);
    auto place = [&](TAlign kind) {
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->Align() != kind || !c->Visible())
                continue;
            switch (kind) {
                case alTop:
                    c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
                    r.Top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
                    r.Bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
                    r.Left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
                    r.Right -= c->Width();
                    break;
                case alClient:
                    c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
                    break;
                default:
                    break;
            }
        }
    };
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) place(kind);
}

// Children that are not aligned keep their distance to the anchored edges; an axis with neither
// edge anchored keeps the control where it was relative to the middle.
void TWinControl::AnchorControls(int oldWidth, int oldHeight) {
    int dw = ClientWidth() - oldWidth;
    int dh = ClientHeight() - oldHeight;
    // A parent that never had a size gives no distances to keep.
    if ((dw == 0 && dh == 0) || (oldWidth == 0 && oldHeight == 0))
        return;
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (c->Align() != alNone)
            continue;
        TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                w += dw;
            else
                l += dw;
        } else if (!a.Contains(akLeft)) {
            l += dw / 2;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                h += dh;
            else
                t += dh;
        } else if (!a.Contains(akTop)) {
            t += dh / 2;
        }
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::ChangeScale(int M, int D) {
    if (M == D)
        return;
    {
        TFlagScope scaling(scaling_);
        TControl::ChangeScale(M, D);
        for (TControl* child : std::vector<TControl*>(controls_)) child->ChangeScale(M, D);
    }
    AlignControls();
}
