#pragma once
// The Color Selection tool window.

#include "ui/forms.h"
#include "ui/tool_window.h"

class frm_Colors : public ToolWindow {
    Q_OBJECT
public:
    frm_Colors();
    void Form_Load();
    // The working folder changed: read the background files again.
    void Working_Backgrounds();

    QSize designSizeTwips() const override { return QSize(9000, 6600); }
    void maximizeRequested() override;
    void closeRequested() override;
};

TESK_DECLARE_FORM(frm_Colors, Colors)
