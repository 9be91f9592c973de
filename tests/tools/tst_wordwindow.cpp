// The note editor: loading and reading back content, the change counter,
// formatting driven from the form's controls, printing and its preview.
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QtTest>

#include "modalanswerer.h"
#include "wordwindow.h"

namespace {

QTextEdit *editArea(WordWindow &w)
{
    return w.findChild<QTextEdit *>(QStringLiteral("textEdit_content"));
}

QAction *action(WordWindow &w, const char *name)
{
    return w.findChild<QAction *>(QString::fromLatin1(name));
}

QComboBox *combo(WordWindow &w, const char *name)
{
    return w.findChild<QComboBox *>(QString::fromLatin1(name));
}

// Clicks the tool bar button of an action, as a user would.
void clickTool(WordWindow &w, const char *name)
{
    auto *bar = w.findChild<QToolBar *>(QStringLiteral("formatToolBar"));
    QWidget *button = bar->widgetForAction(action(w, name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types a text (Latin-1, lines broken with Return) into the editing area.
void typeText(QTextEdit *edit, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines.at(i));
    }
}

// Types a text into a fresh editor and selects its first `count` characters.
void typeAndSelectStart(WordWindow &w, const QString &text, int count)
{
    QTextEdit *edit = editArea(w);
    edit->setFocus();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < count; ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
}

QTextCharFormat formatAt(WordWindow &w, int position)
{
    QTextCursor c(editArea(w)->document());
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

int pdfPages(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/")
               + pdf.count("/Type /Page>"));
}

} // namespace

class TestWordWindow : public QObject
{
    Q_OBJECT

private slots:
    void builtAsTheForm();
    void plainTextRoundTrip_data();
    void plainTextRoundTrip();
    void formattedContentRoundTrip();
    void upperCaseTagsAreMarkup_data();
    void upperCaseTagsAreMarkup();
    void emptyDocumentGivesEmptyText();
    void changeCounter();
    void characterFormatsFromTheToolBar();
    void colourDialogChoosesAndCancels();
    void fontAndSizeBoxes();
    void alignmentAndLineHeight();
    void listStyles();
    void printsToPdf();
    void previewPaintsThePages();
};

void TestWordWindow::builtAsTheForm()
{
    WordWindow w;
    auto *bar = w.findChild<QToolBar *>(QStringLiteral("formatToolBar"));
    QVERIFY(bar);
    QCOMPARE(w.toolBarArea(bar), Qt::LeftToolBarArea);
    QStringList names;
    for (QAction *a : bar->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    QCOMPARE(names.join(QLatin1Char(' ')),
             QStringLiteral("actionBold actionItalic actionUnderline | actionLeftAlign actionCenter actionRightAlign "
                            "actionJustify | actionColor | actionPreviewPrint actionPrint"));
    QCOMPARE(action(w, "actionRightAlign")->toolTip(), QStringLiteral("右对齐"));
    QCOMPARE(combo(w, "lineHeightComboBox")->currentText(), QStringLiteral("1"));
    QComboBox *sizes = combo(w, "sizeComboBox");
    QCOMPARE(sizes->currentIndex(), sizes->findText(QString::number(QApplication::font().pointSize())));

    // The build gives the first paragraph line height 1 but counts as unformatted.
    const QTextBlockFormat first = editArea(w)->document()->firstBlock().blockFormat();
    QCOMPARE(first.lineHeight(), 1.0);
    QCOMPARE(first.lineHeightType(), int(QTextBlockFormat::LineDistanceHeight));
    QTest::keyClicks(editArea(w), QStringLiteral("abc"));
    QCOMPARE(w.getHtmlContent(), QStringLiteral("abc"));
}

void TestWordWindow::plainTextRoundTrip_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("line breaks and blanks") << QStringLiteral("第一行\n第二行\n\n    缩进  两个空格\n");
    QTest::newRow("angle brackets") << QStringLiteral("a <= b, c > d\n<not a tag");
    QTest::newRow("markup on a later line") << QStringLiteral("first line\n<b>kept literally</b>");
}

void TestWordWindow::plainTextRoundTrip()
{
    QFETCH(QString, content);
    WordWindow w;
    w.setHtmlContent(content);
    QCOMPARE(w.getHtmlContent(), content);
    QCOMPARE(editArea(w)->toPlainText(), content);
}

void TestWordWindow::formattedContentRoundTrip()
{
    WordWindow w;
    typeAndSelectStart(w, QStringLiteral("bold start\nsecond line"), 4);
    clickTool(w, "actionBold");
    const QString saved = w.getHtmlContent();
    QVERIFY2(saved.startsWith(QLatin1String("<body")), qPrintable(saved));
    QVERIFY2(saved.endsWith(QLatin1String("</body>")), qPrintable(saved));
    QVERIFY(!saved.contains(QLatin1String("<html")) && !saved.contains(QLatin1String("<head")));
    QVERIFY(saved.contains(QLatin1String("font-weight:700")));

    // What was saved loads back as formatted content and reads back the same.
    WordWindow again;
    again.setHtmlContent(saved);
    QCOMPARE(again.getHtmlContent(), saved);
    QCOMPARE(editArea(again)->toPlainText(), QStringLiteral("bold start\nsecond line"));
    QCOMPARE(formatAt(again, 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(again, 6).fontWeight(), int(QFont::Normal));
}

void TestWordWindow::upperCaseTagsAreMarkup_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("upper-case body") << QStringLiteral("<HTML><BODY><P>甲 <B>乙</B></P></BODY></HTML>");
    QTest::newRow("upper-case p dir") << QStringLiteral("<P DIR=\"ltr\">甲 <B>乙</B></P>");
    QTest::newRow("lower-case p dir") << QStringLiteral("<p dir='ltr'>甲 <b>乙</b></p>");
}

void TestWordWindow::upperCaseTagsAreMarkup()
{
    QFETCH(QString, content);
    WordWindow w;
    w.setHtmlContent(content);
    QCOMPARE(editArea(w)->toPlainText(), QStringLiteral("甲 乙"));
    const QString back = w.getHtmlContent();
    QVERIFY2(back.startsWith(QLatin1String("<body")) && back.endsWith(QLatin1String("</body>")), qPrintable(back));
    QVERIFY2(back.contains(QLatin1String("font-weight:700")), qPrintable(back));
}

void TestWordWindow::emptyDocumentGivesEmptyText()
{
    WordWindow fresh;
    QCOMPARE(fresh.getHtmlContent(), QString());

    WordWindow formatted;
    clickTool(formatted, "actionBold");
    QCOMPARE(formatted.getHtmlContent(), QString());

    WordWindow loaded;
    loaded.setHtmlContent(QStringLiteral("<body><p>旧内容</p></body>"));
    QVERIFY(!loaded.getHtmlContent().isEmpty());
    QTextEdit *edit = editArea(loaded);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(loaded.getHtmlContent(), QString());

    loaded.setHtmlContent(QString());
    QCOMPARE(loaded.getHtmlContent(), QString());
}

void TestWordWindow::changeCounter()
{
    WordWindow w;
    QSignalSpy spy(&w, &WordWindow::sindTextChange);
    w.setHtmlContent(QStringLiteral("<body><p>x</p></body>"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 1);
    QTest::keyClicks(editArea(w), QStringLiteral("ab"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 3);
    spy.clear();

    // A plain-text load counts the same way.
    w.setHtmlContent(QStringLiteral("plain\ntext"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 1);
    QTest::keyClick(editArea(w), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editArea(w), Qt::Key_Backspace);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 2);
}

void TestWordWindow::characterFormatsFromTheToolBar()
{
    WordWindow w;
    typeAndSelectStart(w, QStringLiteral("hello world"), 5);

    clickTool(w, "actionBold");
    QCOMPARE(formatAt(w, 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(w, 4).fontWeight(), int(QFont::Bold));
    QVERIFY(!formatAt(w, 6).hasProperty(QTextFormat::FontWeight));
    clickTool(w, "actionBold");
    QCOMPARE(formatAt(w, 0).fontWeight(), int(QFont::Normal));

    clickTool(w, "actionItalic");
    QVERIFY(formatAt(w, 2).fontItalic());
    QVERIFY(!formatAt(w, 7).fontItalic());
    clickTool(w, "actionUnderline");
    QCOMPARE(formatAt(w, 2).underlineStyle(), QTextCharFormat::SingleUnderline);
    clickTool(w, "actionUnderline");
    QCOMPARE(formatAt(w, 2).underlineStyle(), QTextCharFormat::NoUnderline);
    QVERIFY(formatAt(w, 2).fontItalic());

    // Without a selection the format waits for the next typed text.
    QTextEdit *edit = editArea(w);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    clickTool(w, "actionBold");
    QTest::keyClicks(edit, QStringLiteral("!!"));
    QCOMPARE(formatAt(w, 11).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(w, 12).fontWeight(), int(QFont::Bold));
    QVERIFY(!formatAt(w, 10).hasProperty(QTextFormat::FontWeight));
}

void TestWordWindow::colourDialogChoosesAndCancels()
{
    WordWindow w;
    typeAndSelectStart(w, QStringLiteral("red text"), 3);
    QColor initial;
    ModalAnswerer answerer;
    answerer.dialog("QColorDialog", [&initial](QWidget *d) {
        auto *dialog = static_cast<QColorDialog *>(d);
        initial = dialog->currentColor();
        dialog->setCurrentColor(QColor(200, 10, 20));
        dialog->accept();
    });
    clickTool(w, "actionColor");
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(initial, editArea(w)->palette().text().color());
    QCOMPARE(formatAt(w, 0).foreground().color(), QColor(200, 10, 20));
    QCOMPARE(formatAt(w, 2).foreground().style(), Qt::SolidPattern);
    QVERIFY(!formatAt(w, 4).hasProperty(QTextFormat::ForegroundBrush));

    // Cancelling keeps the colours, but the content now reads back as HTML.
    WordWindow cancelled;
    typeAndSelectStart(cancelled, QStringLiteral("keep"), 4);
    answerer.escape();
    clickTool(cancelled, "actionColor");
    QVERIFY(answerer.allAnswered());
    QVERIFY(!formatAt(cancelled, 1).hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(cancelled.getHtmlContent().startsWith(QLatin1String("<body")));
}

void TestWordWindow::fontAndSizeBoxes()
{
    WordWindow w;
    typeAndSelectStart(w, QStringLiteral("sized text"), 5);

    QComboBox *sizes = combo(w, "sizeComboBox");
    sizes->setFocus();
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), QStringLiteral("26"));
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    QCOMPARE(formatAt(w, 0).fontPointSize(), 26.0);
    QCOMPARE(formatAt(w, 4).fontPointSize(), 26.0);
    QVERIFY(!formatAt(w, 6).hasProperty(QTextFormat::FontPointSize));

    auto *fonts = w.findChild<QFontComboBox *>(QStringLiteral("fontComboBox"));
    QVERIFY(fonts->count() > 1);
    fonts->setFocus();
    QTest::keyClick(fonts, Qt::Key_Down);
    const QString family = fonts->currentText();
    QCOMPARE(formatAt(w, 1).fontFamilies().toStringList(), QStringList{family});
    QCOMPARE(formatAt(w, 1).fontPointSize(), 26.0);

    const QString html = w.getHtmlContent();
    QVERIFY2(html.contains(QLatin1String("font-size:26pt")), qPrintable(html));
}

void TestWordWindow::alignmentAndLineHeight()
{
    WordWindow w;
    QTextEdit *edit = editArea(w);
    edit->setFocus();
    typeText(edit, QStringLiteral("one\ntwo\nthree"));
    // Select from the middle of "one" into "two".
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Down, Qt::ShiftModifier);

    const QTextDocument *doc = edit->document();
    clickTool(w, "actionCenter");
    QCOMPARE(doc->findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(!doc->findBlockByNumber(2).blockFormat().hasProperty(QTextFormat::BlockAlignment));
    clickTool(w, "actionJustify");
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignJustify);
    clickTool(w, "actionRightAlign");
    QCOMPARE(doc->findBlockByNumber(0).blockFormat().alignment(), Qt::AlignRight);
    clickTool(w, "actionLeftAlign");
    QCOMPARE(doc->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);

    // Typing into the line-height box applies each intermediate value.
    QComboBox *heights = combo(w, "lineHeightComboBox");
    heights->setFocus();
    heights->lineEdit()->selectAll();
    QTest::keyClicks(heights->lineEdit(), QStringLiteral("24"));
    for (int b = 0; b < 2; ++b) {
        const QTextBlockFormat f = doc->findBlockByNumber(b).blockFormat();
        QCOMPARE(f.lineHeight(), 24.0);
        QCOMPARE(f.lineHeightType(), int(QTextBlockFormat::LineDistanceHeight));
    }
    QTest::keyClick(heights->lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(heights->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(doc->findBlockByNumber(0).blockFormat().lineHeight(), 0.0);
}

void TestWordWindow::listStyles()
{
    WordWindow w;
    QTextEdit *edit = editArea(w);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("item"));
    QComboBox *styles = combo(w, "styleComboBox");
    styles->setFocus();

    QTest::keyClick(styles, Qt::Key_Down); // 项目符号 (●)
    QTextList *list = edit->textCursor().currentList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(list->format().indent(), 1);

    styles->setCurrentIndex(5);
    QTest::keyClick(styles, Qt::Key_Down); // 编号 ( A.B.C.)
    list = edit->textCursor().currentList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListUpperAlpha);
    QCOMPARE(list->format().indent(), 1);

    QTest::keyClick(styles, Qt::Key_Home); // 标准
    QVERIFY(!edit->textCursor().currentList());
    QCOMPARE(edit->toPlainText(), QStringLiteral("item"));
    const QString html = w.getHtmlContent();
    QVERIFY2(!html.contains(QLatin1String("<ul")) && !html.contains(QLatin1String("<ol")), qPrintable(html));

    // A list of several paragraphs keeps its paragraphs in the new style.
    WordWindow two;
    QTextEdit *twoEdit = editArea(two);
    twoEdit->setFocus();
    typeText(twoEdit, QStringLiteral("a\nb"));
    QTest::keyClick(twoEdit, Qt::Key_A, Qt::ControlModifier);
    combo(two, "styleComboBox")->setCurrentIndex(3);
    combo(two, "styleComboBox")->setFocus();
    QTest::keyClick(combo(two, "styleComboBox"), Qt::Key_Down); // 编号 (⒈⒉⒊)
    const QTextDocument *doc = twoEdit->document();
    QVERIFY(doc->firstBlock().textList());
    QCOMPARE(doc->firstBlock().textList(), doc->lastBlock().textList());
    QCOMPARE(doc->firstBlock().textList()->format().style(), QTextListFormat::ListDecimal);
    QVERIFY2(two.getHtmlContent().contains(QLatin1String("<ol")), qPrintable(two.getHtmlContent()));
}

void TestWordWindow::printsToPdf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("note.pdf"));

    WordWindow w;
    QStringList lines;
    for (int i = 0; i < 120; ++i)
        lines << QStringLiteral("第 %1 行 line of the note").arg(i);
    w.setHtmlContent(lines.join(QLatin1Char('\n')));

    QString title;
    bool selectionOffered = true;
    ModalAnswerer answerer;
    answerer.dialog("QPrintDialog", [&](QWidget *d) {
        auto *dialog = static_cast<QPrintDialog *>(d);
        title = dialog->windowTitle();
        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (!printers || !fileName) {
            dialog->reject();
            return;
        }
        printers->setCurrentIndex(printers->count() - 1); // print to a PDF file
        fileName->setText(pdf);
        dialog->accept();
    });
    clickTool(w, "actionPrint");
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(title, QStringLiteral("打印笔记"));
    QVERIFY(!selectionOffered);

    QFile file(pdf);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(pdf));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY2(pdfPages(bytes) >= 2, qPrintable(QString::number(pdfPages(bytes))));

    // With a selection the dialog offers to print it; cancelling prints nothing.
    QFile::remove(pdf);
    QTest::keyClick(editArea(w), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(editArea(w), Qt::Key_End, Qt::ShiftModifier);
    answerer.dialog("QPrintDialog", [&](QWidget *d) {
        auto *dialog = static_cast<QPrintDialog *>(d);
        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        dialog->reject();
    });
    clickTool(w, "actionPrint");
    QVERIFY(answerer.allAnswered());
    QVERIFY(selectionOffered);
    QVERIFY(!QFile::exists(pdf));
}

void TestWordWindow::previewPaintsThePages()
{
    WordWindow w;
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("preview line %1").arg(i);
    w.setHtmlContent(lines.join(QLatin1Char('\n')));

    QString title;
    QSize minimum;
    int pages = -1;
    int resolution = 0;
    ModalAnswerer answerer;
    answerer.dialog("QPrintPreviewDialog", [&](QWidget *d) {
        title = d->windowTitle();
        minimum = d->minimumSize();
        if (auto *preview = d->findChild<QPrintPreviewWidget *>())
            pages = preview->pageCount();
        if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(d))
            resolution = dialog->printer()->resolution();
        d->close();
    });
    clickTool(w, "actionPreviewPrint");
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(title, QStringLiteral("打印笔记预览"));
    QCOMPARE(minimum, QSize(1000, 600));
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QCOMPARE(resolution, 1200);

    // The slot the preview calls prints the document to any printer.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
    w.printPreview(&printer);
    QFile file(printer.outputFileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPages(bytes), pages);
}

QTEST_MAIN(TestWordWindow)
#include "tst_wordwindow.moc"
