#include "wordwindow.h"
#include "ui_wordwindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextListFormat>

WordWindow::WordWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::WordWindow)
{
    ui->setupUi(this);
    initMainWindow();
}

WordWindow::~WordWindow()
{
    delete ui;
}

void WordWindow::initMainWindow()
{
    const QList<int> sizes = QFontDatabase::standardSizes();
    for (int size : sizes)
        ui->sizeComboBox->addItem(QString::number(size));
    ui->sizeComboBox->setCurrentIndex(ui->sizeComboBox->findText(QString::number(QApplication::font().pointSize()),
                                                                 Qt::MatchExactly | Qt::MatchCaseSensitive));

    auto *alignGroup = new QActionGroup(this);
    alignGroup->addAction(ui->actionLeftAlign);
    alignGroup->addAction(ui->actionCenter);
    alignGroup->addAction(ui->actionRightAlign);
    alignGroup->addAction(ui->actionJustify);
    ui->actionLeftAlign->setChecked(true);

    // Filling the empty box selects "1", which applies line height 1 to the
    // first paragraph and counts the build's one change.
    QStringList heights;
    heights.reserve(500);
    for (int i = 1; i <= 500; ++i)
        heights << QString::number(i);
    ui->lineHeightComboBox->addItems(heights);

    formatted = false;
}

void WordWindow::setHtmlContent(QString content)
{
    changeCount = 0;
    // Text without markup keeps its line breaks and blanks. Content shown as
    // rich text comes back as rich text, so an edit keeps its formatting.
    const bool rich = Qt::mightBeRichText(content);
    if (rich)
        ui->textEdit_content->setHtml(content);
    else
        ui->textEdit_content->setPlainText(content);
    if (rich || content.contains(QLatin1String("<body"), Qt::CaseInsensitive)
        || content.contains(QLatin1String("<p dir"), Qt::CaseInsensitive))
        formatted = true;
}

QString WordWindow::getHtmlContent()
{
    if (ui->textEdit_content->document()->isEmpty())
        return QString();
    if (!formatted)
        return ui->textEdit_content->toPlainText();

    const QString html = ui->textEdit_content->toHtml();
    static const QLatin1String headEnd("</style></head><body");
    qsizetype bodyStart = html.indexOf(headEnd);
    if (bodyStart >= 0) {
        bodyStart += headEnd.size() - 5; // keep "<body"
    } else {
        bodyStart = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
        if (bodyStart < 0)
            return html;
    }
    QString body = html.mid(bodyStart);
    const qsizetype bodyEnd = body.indexOf(QLatin1String("</body></html>"));
    if (bodyEnd >= 0)
        body.truncate(bodyEnd);
    return body + QLatin1String("</body>");
}

void WordWindow::printPreview(QPrinter *printer)
{
    ui->textEdit_content->print(printer);
}

void WordWindow::on_actionBold_triggered()
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    if (fmt.hasProperty(QTextFormat::FontWeight) && fmt.fontWeight() == QFont::Bold)
        fmt.setFontWeight(QFont::Normal);
    else
        fmt.setFontWeight(QFont::Bold);
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::on_actionItalic_triggered()
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    fmt.setFontItalic(!fmt.fontItalic());
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::on_actionUnderline_triggered()
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    fmt.setUnderlineStyle(fmt.fontUnderline() ? QTextCharFormat::NoUnderline : QTextCharFormat::SingleUnderline);
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::on_actionColor_triggered()
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    const QColor color = QColorDialog::getColor(ui->textEdit_content->textColor(), this, QString(),
                                                QColorDialog::ColorDialogOptions());
    if (!color.isValid())
        return;
    fmt.setForeground(QBrush(color));
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::on_fontComboBox_textActivated(const QString &arg1)
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    fmt.setFontFamilies(QStringList{arg1});
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::on_sizeComboBox_textActivated(const QString &arg1)
{
    formatted = true;
    QTextCharFormat fmt = ui->textEdit_content->currentCharFormat();
    fmt.setFontPointSize(arg1.toFloat());
    ui->textEdit_content->setCurrentCharFormat(fmt);
}

void WordWindow::setAlignment(Qt::Alignment alignment)
{
    formatted = true;
    QTextCursor cursor = ui->textEdit_content->textCursor();
    QTextBlockFormat fmt = cursor.blockFormat();
    fmt.setAlignment(alignment);
    cursor.mergeBlockFormat(fmt);
    ui->textEdit_content->setTextCursor(cursor);
}

void WordWindow::on_actionLeftAlign_triggered()
{
    setAlignment(Qt::AlignLeft);
}

void WordWindow::on_actionCenter_triggered()
{
    setAlignment(Qt::AlignHCenter);
}

void WordWindow::on_actionRightAlign_triggered()
{
    setAlignment(Qt::AlignRight);
}

void WordWindow::on_actionJustify_triggered()
{
    setAlignment(Qt::AlignJustify);
}

void WordWindow::on_lineHeightComboBox_currentTextChanged(const QString &arg1)
{
    formatted = true;
    QTextCursor cursor = ui->textEdit_content->textCursor();
    QTextBlockFormat fmt = cursor.blockFormat();
    fmt.setLineHeight(arg1.toDouble(), QTextBlockFormat::LineDistanceHeight);
    cursor.mergeBlockFormat(fmt);
    ui->textEdit_content->setTextCursor(cursor);
}

void WordWindow::on_styleComboBox_activated(int index)
{
    formatted = true;
    QTextCursor cursor = ui->textEdit_content->textCursor();
    if (index == 0) {
        // setObjectIndex(-1) would only clear the property, and merging a format
        // without it leaves the paragraphs in their list: set -1 explicitly.
        QTextBlockFormat leaveList;
        leaveList.setProperty(QTextFormat::ObjectIndex, -1);
        cursor.mergeBlockFormat(leaveList);
        return;
    }

    const QTextListFormat::Style style =
        (index >= 1 && index <= 8) ? static_cast<QTextListFormat::Style>(-index) : QTextListFormat::ListDisc;

    cursor.beginEditBlock();
    QTextListFormat listFmt;
    if (QTextList *list = cursor.currentList()) {
        listFmt = list->format();
    } else {
        QTextBlockFormat blockFmt = cursor.blockFormat();
        listFmt.setIndent(blockFmt.indent() + 1);
        blockFmt.setIndent(0);
        cursor.setBlockFormat(blockFmt);
    }
    listFmt.setStyle(style);
    cursor.createList(listFmt);
    cursor.endEditBlock();
}

void WordWindow::on_actionPrint_triggered()
{
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印笔记"));
    if (ui->textEdit_content->textCursor().hasSelection())
        dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    if (dialog.exec() == QDialog::Accepted)
        ui->textEdit_content->print(&printer);
}

void WordWindow::on_actionPreviewPrint_triggered()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setMinimumSize(1000, 600);
    preview.setWindowTitle(QStringLiteral("打印笔记预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &WordWindow::printPreview);
    preview.exec();
}

void WordWindow::on_textEdit_content_textChanged()
{
    ++changeCount;
    emit sindTextChange(changeCount);
}
