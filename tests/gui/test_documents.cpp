#include <QFile>
#include <QTemporaryDir>

#include "app/app_info.h"
#include "chart/record.h"
#include "main_window_fixture.h"

using namespace varnoki;
using namespace varnoki::gui::testing;

namespace {

const QString kUntitledQuestion = QStringLiteral("流程圖文件的內容已經被更改,\r\n是否保存更改?");

QString NamedQuestion(const QString& path) {
    return QStringLiteral("流程圖文件%1的內容已經被更改,\r\n是否保存更改?").arg(path);
}

QString Caption(const QString& fileName) { return gui::kApplicationTitle + QStringLiteral(" - ") + fileName; }

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void anEmptyChartIsNeverInQuestion() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        ClickButton(*window, "SpeedButton1");
        QVERIFY(window->Prompter().TakeShown().isEmpty());

        // Named, then every block removed again: still empty, so no question.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.lcs"));
        window->Chart().AppendBlock(1);
        window->Chart().LayoutChain();
        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton4");
        window->Chart().RemoveBlock(window->Chart().Blocks().at(0).object);
        ClickButton(*window, "SpeedButton1");
        QCOMPARE(window->Prompter().TakeShown(), QStringList{QStringLiteral("save:流程圖文件(*.lcs)")});
    }

    void anUntitledChartAlwaysAsksAndCancelKeepsEverything() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        ClickPalette(*window, 1);
        Memo(*window).setPlainText(QStringLiteral("10 REM \"VARNOKI\""));

        window->Prompter().QueueAnswer(QMessageBox::Cancel);
        ClickButton(*window, "SpeedButton1");
        QCOMPARE(window->Prompter().TakeShown(), QStringList{kUntitledQuestion});
        QCOMPARE(window->Chart().Blocks().size(), std::size_t{1});
        QCOMPARE(Memo(*window).toPlainText(), QStringLiteral("10 REM \"VARNOKI\""));
        QCOMPARE(window->windowTitle(), gui::kApplicationTitle);

        // Yes, then the save dialog cancelled: New goes on and the chart is gone.
        window->Prompter().QueueAnswer(QMessageBox::Yes);
        ClickButton(*window, "SpeedButton1");
        QCOMPARE(window->Prompter().TakeShown(), (QStringList{kUntitledQuestion, QStringLiteral("save:流程圖文件(*.lcs)")}));
        QCOMPARE(window->Chart().Blocks().size(), std::size_t{0});
        QVERIFY(Memo(*window).toPlainText().isEmpty());
    }

    void aNamedDocumentAsksOnlyAfterAChange() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("robot.lcs"));
        auto window = ShowMainWindow();
        QVERIFY(window);
        ClickPalette(*window, 1);
        window->Prompter().QueueAnswer(QMessageBox::Yes);
        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton1");  // asked, saved, then a new chart
        window->Prompter().TakeShown();
        QVERIFY(QFile::exists(path));

        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton2");
        QCOMPARE(window->Prompter().TakeShown(), QStringList{QStringLiteral("open:流程圖文件(*.lcs)")});
        QCOMPARE(window->windowTitle(), Caption(QStringLiteral("robot.lcs")));
        QCOMPARE(window->Chart().Blocks().size(), std::size_t{1});

        // Unchanged, also after text in the pane and a moved shape: no question.
        Memo(*window).setPlainText(QStringLiteral("typed"));
        const chart::ObjectId block = window->Chart().Blocks().at(0).object;
        window->Chart().MoveObjectTree(block, 150, 200);
        ClickButton(*window, "SpeedButton1");
        QVERIFY(window->Prompter().TakeShown().isEmpty());
        QCOMPARE(window->windowTitle(), gui::kApplicationTitle);

        // Open again and edit one record: the named question with the full path.
        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton2");
        window->Chart().SetBlockRecord(window->Chart().Blocks().at(0).object,
                                       chart::WriteRecord(1, {{"mode", "1"}, {"wait", "0"}}));
        window->Prompter().QueueAnswer(QMessageBox::No);
        ClickButton(*window, "SpeedButton1");
        QCOMPARE(window->Prompter().TakeShown(), (QStringList{QStringLiteral("open:流程圖文件(*.lcs)"), NamedQuestion(path)}));
    }

    void saveAsTakesOnlyChartNames() {
        QTemporaryDir dir;
        auto window = ShowMainWindow();
        QVERIFY(window);
        ClickPalette(*window, 5);

        window->Prompter().QueueFileName(dir.filePath(QStringLiteral("program.txt")));
        ClickButton(*window, "SpeedButton4");
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("program.txt"))));
        QCOMPARE(window->windowTitle(), gui::kApplicationTitle);

        window->Prompter().QueueFileName(dir.filePath(QStringLiteral("LOUD.LCS")));
        ClickButton(*window, "SpeedButton4");
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("LOUD.LCS"))));
        QCOMPARE(window->windowTitle(), Caption(QStringLiteral("LOUD.LCS")));
        window->Prompter().TakeShown();

        // Saved and unchanged: Save writes at once, and New asks nothing.
        ClickButton(*window, "SpeedButton3");
        ClickButton(*window, "SpeedButton1");
        QVERIFY(window->Prompter().TakeShown().isEmpty());
    }

    void aFileThatCannotBeReadChangesNothing() {
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("broken.lcs"));
        WriteFile(broken, "<?xml version=\"1.0\"?>\r\n<MERVANTO>\r\n  <record>\r\n");
        auto window = ShowMainWindow();
        QVERIFY(window);
        const QString good = dir.filePath(QStringLiteral("good.lcs"));
        ClickPalette(*window, 3);
        window->Prompter().QueueFileName(good);
        ClickButton(*window, "SpeedButton4");
        ClickPalette(*window, 4);  // nothing selected: no block added
        window->Prompter().TakeShown();

        window->Prompter().QueueFileName(broken);
        ClickButton(*window, "SpeedButton2");
        const QStringList shown = window->Prompter().TakeShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown.at(1).contains(QStringLiteral("broken.lcs")), qPrintable(shown.at(1)));
        QCOMPARE(window->Chart().Blocks().size(), std::size_t{1});
        QCOMPARE(window->windowTitle(), Caption(QStringLiteral("good.lcs")));
    }

    void programTextRoundTripsAndIsNoChange() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("program.txt"));
        auto window = ShowMainWindow();
        QVERIFY(window);
        Memo(*window).setPlainText(QStringLiteral("10 REM \"VARNOKI\"\n20 REM \"FDX\""));
        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton9");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("10 REM \"VARNOKI\"\r\n20 REM \"FDX\"\r\n"));

        Memo(*window).clear();
        window->Prompter().QueueFileName(path);
        ClickButton(*window, "SpeedButton10");
        QCOMPARE(Memo(*window).toPlainText(), QStringLiteral("10 REM \"VARNOKI\"\n20 REM \"FDX\""));
        QCOMPARE(window->windowTitle(), gui::kApplicationTitle);
    }

    void closingAsksLikeNew() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        QVERIFY(window->close());  // empty chart: no question
        QVERIFY(window->Prompter().TakeShown().isEmpty());

        window = ShowMainWindow();
        ClickPalette(*window, 1);
        window->Prompter().QueueAnswer(QMessageBox::Cancel);
        ClickButton(*window, "SpeedButton5");
        QCOMPARE(window->Prompter().TakeShown(), QStringList{kUntitledQuestion});
        QVERIFY(window->isVisible());

        window->Prompter().QueueAnswer(QMessageBox::No);
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "test_documents.moc"
