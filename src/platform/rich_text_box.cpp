#include "platform/rich_text_box.h"
#include "platform/rich_text_box_impl.h"

// ---------------------------------------------------------------------------

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent), d(new Impl(this))
{
    setAcceptRichText(false);
    setUndoRedoEnabled(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // "Automatic" text is black on white whatever the desktop's colours, so
    // that what is shown is what SelColor reports and what is printed.
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::Text, group == QPalette::Disabled ? Qt::gray : Qt::black);
    }
    setPalette(pal);
    auto* owned = new QTextDocument(this);
    QTextEdit::setDocument(owned);
    d->connectDocument();
    setEditorStyle(d->style);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { d->widgetCursorMoved(); });
    connect(this, &QTextEdit::selectionChanged, this, [this] { d->widgetCursorMoved(); });
}

RichTextBox::~RichTextBox()
{
    delete d;
}

void RichTextBox::setEditorStyle(const EditorStyle& style)
{
    d->style = style;
    if (d->style.twipsPerPixel <= 0)
        d->style.twipsPerPixel = EditorStyle().twipsPerPixel;
    QFont f(style.fontName);
    f.setPointSize(style.fontPoints > 0 ? style.fontPoints : 10);
    setFont(f);
    document()->setDefaultFont(f);
    if (d->gutter) {
        setLineNumbers(false);  // measured anew in the new font
        setLineNumbers(true);
    }
    if (style.tabTwips > 0)
        setTabStopDistance(style.tabTwips / d->tpp());
    if (d->rightMarginTwips > 0)
        setRightMargin(d->rightMarginTwips);  // the same twips in the new pixels
}

const RichTextBox::EditorStyle& RichTextBox::editorStyle() const { return d->style; }

// ---- text ---------------------------------------------------------------------

QString RichTextBox::Text() const { return d->plainText(); }

int RichTextBox::TextLength() const { return d->textLength(); }

void RichTextBox::setText(const QString& text) { setContent(rtf::fromPlainText(text)); }

rtf::Content RichTextBox::content() const { return richdoc::content(*document(), d->tpp()); }

void RichTextBox::setContent(const rtf::Content& content)
{
    d->adopt(richdoc::build(content, *document(), d->tpp(), this));
}

bool RichTextBox::LoadFile(const QString& path)
{
    QByteArray bytes;
    d->lastError = fs::readBytes(path, bytes);
    if (d->lastError != fs::Result::Ok)
        return false;
    rtf::Content content;
    if (!rtf::readSource(bytes, content)) {
        d->lastError = fs::Result::NotText;
        return false;
    }
    setContent(std::move(content));
    return true;
}

bool RichTextBox::SaveFile(const QString& path, int format)
{
    if (format == 0) {
        if (onBeforeSave)
            onBeforeSave();
        d->lastError = fs::writeBytes(path, rtf::write(content(), d->style.fontName, d->style.fontPoints));
    } else if (format == 1) {
        d->lastError = fs::writeText(path, Text());
    } else {
        d->lastError = fs::Result::IoError;
    }
    return d->lastError == fs::Result::Ok;
}

int RichTextBox::lastFileError() const { return int(d->lastError); }

// ---- selection -------------------------------------------------------------------

int RichTextBox::SelStart() const { return d->selStart(); }

void RichTextBox::setSelStart(int start)
{
    start = std::clamp(start, 0, d->textLength());
    d->select(start, start);
}

int RichTextBox::SelLength() const { return d->selLength(); }

void RichTextBox::setSelLength(int length)
{
    const int s = d->selStart();
    d->select(s, s + std::max(length, 0));
}

QString RichTextBox::SelText() const
{
    const int s = d->selStart();
    const int n = d->selLength();
    if (n <= 0)
        return QString();
    if (d->textValid || n > 4096)
        return d->plainText().mid(s, n);
    // Short pieces straight from the document, without rebuilding Text().
    return textpos::slice(*document(), s, n, d->locator);
}

void RichTextBox::setSelText(const QString& text)
{
    QScopedValueRollback<int> g(d->guard, d->guard + 1);
    const QString docText = rtf::editorText(text);
    const int ds = d->selStartDoc();
    const int de = d->selEndDoc();
    if (ds != de || !docText.isEmpty()) {
        const int ts = d->docToText(ds);
        const int te = d->docToText(de);
        const QTextCharFormat format = d->caretFormat();
        QTextCursor k = d->editCursor();
        if (docText.isEmpty()) {
            k.removeSelectedText();
        } else if (ds == de) {
            // At a caret the text takes the typing format there.
            k.insertText(docText, format);
        } else {
            k.insertText(docText);
        }
        d->tellInsideBlock(ds, de - ds, int(docText.size()));
        k.endEditBlock();
        d->blockEnded();
        if (d->textValid)
            d->text.replace(ts, te - ts, textpos::crlfForm(docText));
        d->textChanged(true);
        d->anchor = d->position = k.position();
    }
    d->exact.valid = false;
    d->typing.reset();
    d->selectionMoved();
}

quint32 RichTextBox::SelColor() const
{
    const int s = d->selStartDoc();
    const int e = d->selEndDoc();
    if (s == e)
        return richdoc::colorOf(d->caretFormat());
    return richdoc::rangeColor(*document(), s, e);
}

void RichTextBox::setSelColor(quint32 bgr)
{
    QTextCharFormat f;
    f.setForeground(QColor_From_Bgr(bgr & 0xFFFFFFu));
    d->mergeChars(f);
}

int RichTextBox::SelIndent() const { return richdoc::indentOf(document()->findBlock(d->selStartDoc()), d->tpp()); }

void RichTextBox::setSelIndent(int twips) { d->mergeBlocks(richdoc::indentFormat(twips, d->tpp())); }

namespace {
// A character format with one property set.
template <typename Value>
QTextCharFormat charFormat(void (QTextCharFormat::*set)(Value), std::type_identity_t<Value> value)
{
    QTextCharFormat f;
    (f.*set)(value);
    return f;
}
} // namespace

void RichTextBox::setSelBold(bool on)
{
    d->mergeChars(charFormat(&QTextCharFormat::setFontWeight, on ? QFont::Bold : QFont::Normal));
}

void RichTextBox::setSelItalic(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontItalic, on)); }

void RichTextBox::setSelUnderline(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontUnderline, on)); }

void RichTextBox::setSelStrikeThru(bool on) { d->mergeChars(charFormat(&QTextCharFormat::setFontStrikeOut, on)); }

void RichTextBox::setSelCharOffset(int twips) { d->mergeChars(richdoc::charOffsetFormat(twips)); }

void RichTextBox::setSelAlignment(int alignment) { d->mergeBlocks(richdoc::alignmentFormat(alignment)); }

void RichTextBox::setSelHangingIndent(int twips) { d->mergeBlocks(richdoc::hangingIndentFormat(twips, d->tpp())); }

void RichTextBox::setSelBullet(bool on)
{
    d->forSelectedLines([&](const QTextBlock& b) { richdoc::setBullet(b, on); });
}

void RichTextBox::setSelFontName(const QString& name)
{
    d->mergeChars(charFormat(&QTextCharFormat::setFontFamilies, QStringList{name}));
}

void RichTextBox::setSelFontSize(int points)
{
    if (points > 0)
        d->mergeChars(charFormat(&QTextCharFormat::setFontPointSize, points));
}

void RichTextBox::setSelTabs(const std::vector<int>& twips)
{
    d->mergeBlocks(richdoc::tabsFormat(twips, d->tpp()));
}

void RichTextBox::setRightMargin(int twips)
{
    d->rightMarginTwips = std::max(twips, 0);
    const int px = twips > 0 ? qRound(twips / d->tpp()) : 0;
    if (px > 0) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(px);
    } else {
        setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

int RichTextBox::rightMargin() const { return d->rightMarginTwips; }

void RichTextBox::setHideSelection(bool hide)
{
    if (d->hide == hide)
        return;
    d->hide = hide;
    if (!hide) {
        if (isVisible())
            d->showCursor();
    } else if (!hasFocus() && isVisible()) {
        d->showCursor();  // only the caret stays
    }
}

bool RichTextBox::hideSelection() const { return d->hide; }

void RichTextBox::syncCursor() { d->showCursor(); }

void RichTextBox::undo()
{
    d->flush();
    d->stepHistory(true);
}

void RichTextBox::redo()
{
    d->flush();
    d->stepHistory(false);
}

