#pragma once
// The Images tool window.

#include "ui/forms.h"
#include "ui/tool_window.h"

class frm_Images : public ToolWindow {
    Q_OBJECT
public:
    frm_Images();
    void Form_Load();
    // The working folder changed: read the picture files again.
    void Retrieve_Image_Files();

    QSize designSizeTwips() const override { return QSize(9000, 6600); }
    void maximizeRequested() override;
    void closeRequested() override;
};

TESK_DECLARE_FORM(frm_Images, Images)
