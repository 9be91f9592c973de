#ifndef WORDWINDOW_H
#define WORDWINDOW_H

#include <QMainWindow>
#include <QString>

class QPrinter;

QT_BEGIN_NAMESPACE
namespace Ui {
class WordWindow;
}
QT_END_NAMESPACE

// The rich-text editor of note content. Content goes in with setHtmlContent and
// comes out with getHtmlContent: plain text while nothing has been formatted,
// otherwise the body element of the document's HTML.
class WordWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit WordWindow(QWidget *parent = nullptr);
    ~WordWindow() override;

    void setHtmlContent(QString content);
    QString getHtmlContent();

signals:
    // Number of changes since construction or the last load; 1 right after either.
    void sindTextChange(int increase);

public slots:
    void printPreview(QPrinter *printer);

private slots:
    void on_actionLeftAlign_triggered();
    void on_actionBold_triggered();
    void on_actionItalic_triggered();
    void on_actionUnderline_triggered();
    void on_actionCenter_triggered();
    void on_actionRightAlign_triggered();
    void on_actionJustify_triggered();
    void on_actionColor_triggered();
    void on_actionPreviewPrint_triggered();
    void on_actionPrint_triggered();
    void on_fontComboBox_textActivated(const QString &arg1);
    void on_sizeComboBox_textActivated(const QString &arg1);
    void on_styleComboBox_activated(int index);
    void on_lineHeightComboBox_currentTextChanged(const QString &arg1);
    void on_textEdit_content_textChanged();

private:
    void initMainWindow();
    void setAlignment(Qt::Alignment alignment);

    Ui::WordWindow *ui;
    int changeCount = 0;
    bool formatted = false;
};

#endif // WORDWINDOW_H
