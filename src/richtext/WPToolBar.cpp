#include "richtext/WPToolBar.h"

#include "richtext/CharFormatFont.h"
#include "richtext/ToolBarIcons.h"
#include "widgets/ColorDropDown.h"
#include "widgets/EnterStaysInControl.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QIntValidator>
#include <QTextEdit>

namespace {
const int fontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
} // namespace

TWPToolBar::TWPToolBar(QWidget* parent) : QToolBar(parent) {
    setFixedHeight(BarHeight);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    FontName = new QFontComboBox(this);
    FontName->setToolTip(QStringLiteral("Font"));
    FontName->setFixedWidth(140);
    addWidget(FontName);
    FontSize = new QComboBox(this);
    FontSize->setEditable(true);
    FontSize->setToolTip(QStringLiteral("Size"));
    FontSize->setFixedWidth(46);
    for (const int s : fontSizes)
        FontSize->addItem(QString::number(s));
    FontSize->setValidator(new QIntValidator(1, 1638, FontSize));
    // Enter takes the typed size; it does not close the editor.
    KeepEnterIn(FontSize);
    addWidget(FontSize);
    FontColor = new TColorDropDown(this);
    FontColor->setToolTip(QStringLiteral("Color"));
    FontColor->setFixedWidth(100);
    addWidget(FontColor);
    addSeparator();
    Normal = AddButton(LetterIcon(QStringLiteral("N"), false, false, false),
                       QStringLiteral("Normal"), false);
    Bold = AddButton(LetterIcon(QStringLiteral("B"), true, false, false), QStringLiteral("Bold"),
                     true);
    Italic = AddButton(LetterIcon(QStringLiteral("I"), false, true, false),
                       QStringLiteral("Italic"), true);
    Underline = AddButton(LetterIcon(QStringLiteral("U"), false, false, true),
                          QStringLiteral("Under"), true);
    // The usual keys for the three styles; the editor itself already takes the clipboard's.
    Bold->setShortcut(QKeySequence::Bold);
    Italic->setShortcut(QKeySequence::Italic);
    Underline->setShortcut(QKeySequence::Underline);
    addSeparator();
    Left = AddButton(AlignmentIcon(Qt::AlignLeft), QStringLiteral("Left"), true);
    Right = AddButton(AlignmentIcon(Qt::AlignRight), QStringLiteral("Right"), true);
    Justified = AddButton(AlignmentIcon(Qt::AlignJustify), QStringLiteral("Justified"), true);
    Center = AddButton(AlignmentIcon(Qt::AlignHCenter), QStringLiteral("Center"), true);
    addSeparator();
    Copy = AddButton(ClipboardIcon(TClipboardGlyph::Copy), QStringLiteral("Copy"), false);
    Cut = AddButton(ClipboardIcon(TClipboardGlyph::Cut), QStringLiteral("Cut"), false);
    Paste = AddButton(ClipboardIcon(TClipboardGlyph::Paste), QStringLiteral("Paste"), false);
}

QAction* TWPToolBar::AddButton(const QIcon& icon, const QString& hint, bool checkable) {
    QAction* a = addAction(icon, hint);
    a->setToolTip(hint);
    a->setCheckable(checkable);
    a->setEnabled(false); // until an editor is bound
    return a;
}

void TWPToolBar::SetEditor(QTextEdit* editor) {
    FEditor = editor;
    for (QAction* a : actions())
        a->setEnabled(true);
    connect(FontName, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{family});
        Merge(f);
    });
    connect(FontSize, &QComboBox::textActivated, this, [this](const QString& text) {
        const int points = text.toInt();
        if (points <= 0)
            return;
        QTextCharFormat f;
        f.setFontPointSize(points);
        Merge(f);
    });
    connect(FontColor, &TColorDropDown::ColorChanged, this, [this](TColor color) {
        QTextCharFormat f;
        f.setForeground(ToQColor(color));
        Merge(f);
    });
    connect(Normal, &QAction::triggered, this, [this] {
        QTextCharFormat f;
        f.setFontWeight(QFont::Normal);
        f.setFontItalic(false);
        f.setFontUnderline(false);
        Merge(f);
    });
    connect(Bold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        Merge(f);
    });
    connect(Italic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        Merge(f);
    });
    connect(Underline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        Merge(f);
    });
    connect(Left, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignLeft); });
    connect(Right, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignRight); });
    connect(Justified, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignJustify); });
    connect(Center, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignHCenter); });
    connect(Copy, &QAction::triggered, editor, &QTextEdit::copy);
    connect(Cut, &QAction::triggered, editor, &QTextEdit::cut);
    connect(Paste, &QAction::triggered, editor, &QTextEdit::paste);
    connect(editor, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat& f) { ShowFormat(f); });
    connect(editor, &QTextEdit::cursorPositionChanged, this, [this] { ShowAlignment(); });
    ShowFormat(editor->currentCharFormat());
    ShowAlignment();
}

void TWPToolBar::Merge(const QTextCharFormat& format) {
    if (!FEditor)
        return;
    FEditor->mergeCurrentCharFormat(format);
    FEditor->setFocus();
    ShowFormat(FEditor->currentCharFormat());
}

void TWPToolBar::SetAlignment(Qt::Alignment alignment) {
    if (!FEditor)
        return;
    FEditor->setAlignment(alignment);
    FEditor->setFocus();
    ShowAlignment();
}

void TWPToolBar::ShowFormat(const QTextCharFormat& format) {
    const QFont base = FEditor->document()->defaultFont();
    FontName->setCurrentFont(QFont(FormatFamily(format, base)));
    FontSize->setEditText(QString::number(qRound(FormatPoints(format, base))));
    FontColor->SetColor(format.hasProperty(QTextFormat::ForegroundBrush)
                            ? FromQColor(format.foreground().color())
                            : clBlack);
    Bold->setChecked(format.fontWeight() >= QFont::DemiBold);
    Italic->setChecked(format.fontItalic());
    Underline->setChecked(format.fontUnderline());
}

void TWPToolBar::ShowAlignment() {
    const Qt::Alignment a = FEditor->alignment() & Qt::AlignHorizontal_Mask;
    Justified->setChecked(a & Qt::AlignJustify);
    Center->setChecked((a & Qt::AlignHCenter) && !(a & Qt::AlignJustify));
    Right->setChecked((a & Qt::AlignRight) && !(a & Qt::AlignJustify));
    Left->setChecked(!Justified->isChecked() && !Center->isChecked() && !Right->isChecked());
}
