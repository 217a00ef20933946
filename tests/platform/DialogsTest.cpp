// Message boxes, the prompt window with its edit field, and the file
// dialogs, answered from inside their event loops.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "ModalHelper.h"
#include "platform/qt/QtDialogs.h"

namespace {

using platform::qt::FileNameFilters;
using platform::qt::PromptWindow;
using platform::qt::QtDialogs;
using platform::qt::testing::WhenModal;
using platform::qt::testing::WhenReady;

QPushButton* Button(QWidget* box, int n) {
    return box->findChild<QPushButton*>(QStringLiteral("button%1").arg(n));
}

TEST(MessageBox, ReturnsTheChosenButton) {
    QtDialogs dialogs(nullptr);
    for (int choice = 1; choice <= 3; ++choice) {
        SCOPED_TRACE(choice);
        QString shownText;
        QStringList shownButtons;
        WhenModal([&](QWidget* box) {
            shownText = box->findChild<QLabel*>(QStringLiteral("text"))->text();
            for (int n = 1; Button(box, n); ++n) shownButtons << Button(box, n)->text();
            Button(box, choice)->click();
        });
        EXPECT_EQ(dialogs.MessageBox("Weiter?|zweite Zeile", "Schließen|Nochmal|Drucken"), choice);
        EXPECT_EQ(shownText, QStringLiteral("Weiter?\nzweite Zeile"));
        EXPECT_EQ(shownButtons, (QStringList{"Schließen", "Nochmal", "Drucken"}));
    }
}

TEST(MessageBox, EnterTakesThePreselectedButtonEscapeAnswersNothing) {
    QtDialogs dialogs(nullptr);
    bool isDefault = false;
    WhenModal([&](QWidget* box) {
        isDefault = Button(box, 2)->isDefault();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.MessageBox("Einstellungen speichern?", "mit Speichern|ohne Speichern|Abbrechen", 2), 2);
    EXPECT_TRUE(isDefault);

    WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.MessageBox("M 40 nicht bekannt !| ", " Aha "), 0);

    WhenModal([](QWidget* box) { box->close(); });
    EXPECT_EQ(dialogs.MessageBox("Text", "Ja|Nein", 1), 0);
}

class PromptTest : public ::testing::Test {
protected:
    QtDialogs dialogs{nullptr};

    PromptWindow* Prompt() { return dialogs.Prompt(); }

    // Runs the action on the edit field once it is shown.
    void WhenEditing(std::function<void(QLineEdit*)> action) {
        WhenReady([this]() { return Prompt() && Prompt()->Field() && Prompt()->Field()->isVisible(); },
                  [this, action]() { action(Prompt()->Field()); });
    }
};

TEST_F(PromptTest, WindowHasTitleSizeAndPrintedLines) {
    dialogs.OpenPromptWindow("  Eingabe des Datums  ", 235);
    ASSERT_NE(Prompt(), nullptr);
    EXPECT_EQ(Prompt()->windowTitle(), QStringLiteral("  Eingabe des Datums  "));
    EXPECT_EQ(Prompt()->width(), 454);
    EXPECT_EQ(Prompt()->height(), 235);
    dialogs.PromptPrint("Name: ", false);
    dialogs.PromptPrint("Köln");
    dialogs.PromptPrint("");
    dialogs.PromptPrint("Länge: ", false);
    EXPECT_EQ(Prompt()->Lines(), (QStringList{"Name: Köln", "", "Länge: "}));
    dialogs.PromptClear();
    EXPECT_EQ(Prompt()->Lines(), QStringList{""});
    dialogs.ClosePromptWindow();
    EXPECT_EQ(Prompt(), nullptr);
}

TEST_F(PromptTest, TextCellsAndWaitingForAKey) {
    dialogs.OpenPromptWindow("  Interpolation  ", 235, 600);
    EXPECT_EQ(Prompt()->width(), 600);
    dialogs.PromptLocate(12, 3);
    dialogs.PromptPrint("12,50 MEZ", false);
    dialogs.PromptLocate(2, 3);
    dialogs.PromptPrint("7.12.2026", false);
    dialogs.PromptLocate(12, 3);  // overwrites the run standing there
    dialogs.PromptPrint("13,00 MEZ", false);
    EXPECT_EQ(Prompt()->Lines(), (QStringList{"", "", " 7.12.2026 13,00 MEZ"}));

    WhenReady([this]() { return Prompt()->Waiting(); }, [this]() { QTest::keyClick(Prompt(), Qt::Key_Space); });
    EXPECT_TRUE(dialogs.PromptWaitKeyOrClick());
    WhenReady([this]() { return Prompt()->Waiting(); }, [this]() { QTest::mouseClick(Prompt(), Qt::LeftButton); });
    EXPECT_TRUE(dialogs.PromptWaitKeyOrClick());
    WhenReady([this]() { return Prompt()->Waiting(); }, [this]() { Prompt()->close(); });
    EXPECT_FALSE(dialogs.PromptWaitKeyOrClick());
}

TEST_F(PromptTest, TheDrawingLayerLiesUnderTheText) {
    dialogs.SetPromptColours({0, 0, 0}, {180, 180, 180});
    const platform::Dialogs::CellOrigin at = dialogs.PromptCellOrigin(2, 3);
    dialogs.PromptCanvas().SetBrush({200, 0, 0});
    dialogs.PromptCanvas().FillBox(at.x, at.y, at.x + 80, at.y + 40);
    dialogs.PromptLocate(2, 3);
    dialogs.PromptPrint("Format:", false);
    const QImage shown = Prompt()->grab().toImage();
    EXPECT_EQ(shown.pixel(at.x + 75, at.y + 35), qRgb(200, 0, 0));
    EXPECT_EQ(shown.pixel(at.x - 2, at.y - 2), qRgb(0, 0, 0));
    int text = 0;  // the text's pixels over the box
    for (int y = at.y; y < at.y + 20; ++y)
        for (int x = at.x; x < at.x + 50; ++x) text += shown.pixel(x, y) == qRgb(180, 180, 180);
    EXPECT_GT(text, 20);
}

TEST_F(PromptTest, EditFieldReturnsTheEditedText) {
    dialogs.OpenPromptWindow("  Eingabe des Datums  ", 235);
    dialogs.PromptPrint("Tag,Monat,Jahr = ", false);
    QString offered;
    int maxLength = 0;
    WhenEditing([&](QLineEdit* field) {
        offered = field->text();
        maxLength = field->maxLength();
        QTest::keyClicks(field, "31 2 2021");  // the offered text is selected: typing replaces it
        QTest::keyClick(field, Qt::Key_Return);
    });
    std::string text = "19 7 2020";
    EXPECT_TRUE(dialogs.EditField(text, 15));
    EXPECT_EQ(text, "31 2 2021");
    EXPECT_EQ(offered, QStringLiteral("19 7 2020"));
    EXPECT_EQ(maxLength, 15);
    // The answer stays on its line, the cursor is on the next one.
    EXPECT_EQ(Prompt()->Lines(), (QStringList{"Tag,Monat,Jahr = 31 2 2021", ""}));

    // Editing in place: the end of the text, one character removed and one added.
    WhenEditing([](QLineEdit* field) {
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "2");
        QTest::keyClick(field, Qt::Key_Enter);
    });
    EXPECT_TRUE(dialogs.EditField(text, 15));
    EXPECT_EQ(text, "31 2 2022");
}

TEST_F(PromptTest, EditFieldKeepsToItsLengthAndTakesUmlauts) {
    dialogs.OpenPromptWindow("  Eingabe von geographischen Koordinaten  ", 235);
    dialogs.PromptPrint("Grenzgröße (0..8): ", false);
    WhenEditing([](QLineEdit* field) {
        QTest::keyClicks(field, "123456789");
        QTest::keyClick(field, Qt::Key_Return);
    });
    std::string text = "6";
    EXPECT_TRUE(dialogs.EditField(text, 4));
    EXPECT_EQ(text, "1234");

    dialogs.PromptPrint("Name des Ortes: ", false);
    WhenEditing([](QLineEdit* field) {
        field->insert(QStringLiteral("München"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    text = "Köln";
    EXPECT_TRUE(dialogs.EditField(text, 20));
    EXPECT_EQ(text, "München");
}

TEST_F(PromptTest, EscapeAndClosingCancel) {
    dialogs.OpenPromptWindow("  Eingabe der Uhrzeit  ", 235);
    WhenEditing([](QLineEdit* field) {
        QTest::keyClicks(field, "25 0 0");
        QTest::keyClick(field, Qt::Key_Escape);
    });
    std::string text = "12 0 0";
    EXPECT_FALSE(dialogs.EditField(text, 15));
    EXPECT_EQ(text, "12 0 0");
    EXPECT_TRUE(Prompt()->isVisible()) << "the program closes the prompt window itself";

    WhenEditing([this](QLineEdit*) { Prompt()->close(); });
    EXPECT_FALSE(dialogs.EditField(text, 15));
    EXPECT_EQ(text, "12 0 0");
    // A closed window answers every further field at once.
    EXPECT_FALSE(dialogs.EditField(text, 15));
    EXPECT_FALSE(dialogs.LineInput(text));
    dialogs.ClosePromptWindow();
}

TEST_F(PromptTest, LineInputStartsEmpty) {
    dialogs.OpenPromptWindow("  Eingabe des Julianischen Datums  ", 235);
    dialogs.PromptPrint("Jul. Datum in UT = ", false);
    QString offered = QStringLiteral("?");
    WhenEditing([&](QLineEdit* field) {
        offered = field->text();
        QTest::keyClicks(field, "2451545.0");
        QTest::keyClick(field, Qt::Key_Return);
    });
    std::string text = "old";
    EXPECT_TRUE(dialogs.LineInput(text));
    EXPECT_EQ(text, "2451545.0");
    EXPECT_TRUE(offered.isEmpty());
}

TEST_F(PromptTest, ManyLinesScrollAndTheFieldStaysInside) {
    dialogs.OpenPromptWindow("  Eingabe des Äquinoktiums  ", 100);
    for (int i = 0; i < 12; ++i) dialogs.PromptPrint("Zeile " + std::to_string(i));
    dialogs.PromptPrint("Äquinoktium (9999=des Tages): ", false);
    QRect field;
    WhenEditing([&](QLineEdit* f) {
        field = f->geometry();
        QTest::keyClick(f, Qt::Key_Return);
    });
    std::string text = "2000";
    EXPECT_TRUE(dialogs.EditField(text, 6));
    EXPECT_EQ(text, "2000");
    EXPECT_TRUE(QRect(0, 0, 454, 100).contains(field)) << field.x() << "," << field.y();
}

TEST(FileDialogs, FilterListsBecomeNameFilters) {
    EXPECT_EQ(FileNameFilters("Bahnelemente|*.kpl;|Kometen *.kom|*.kom;|Kleinplaneten *.kpl|*.kpl;|alles *.*|*.*"),
              (QStringList{"Bahnelemente (*.kpl)", "Kometen *.kom (*.kom)", "Kleinplaneten *.kpl (*.kpl)",
                           "alles *.* (*)"}));
    EXPECT_EQ(FileNameFilters("Beide|*.kom;*.kpl"), QStringList{"Beide (*.kom *.kpl)"});
    EXPECT_TRUE(FileNameFilters("").isEmpty());
}

TEST(FileDialogs, OpenAndSaveReturnTheChosenPath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath(QStringLiteral("Beispiel.kom"));
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Beispiel\r\n");
    }
    QtDialogs dialogs(nullptr);
    const std::string filters = "Bahnelemente|*.kom;|Kometen *.kom|*.kom;|alles *.*|*.*";

    // The dialog lists the folder in the background; it is answered once
    // the listing is there, so that no late selection overrides the answer.
    auto whenListed = [&](std::function<void(QFileDialog*)> action) {
        WhenReady(
            [&]() {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
                return model && model->rowCount(model->index(dir.path())) > 0;
            },
            [action]() { action(qobject_cast<QFileDialog*>(QApplication::activeModalWidget())); });
    };

    // The user types a name into the name field and accepts. (Choosing the
    // name also clears the list's selection, which would take precedence.)
    auto answer = [](QFileDialog* dialog, const QString& name) {
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(field, nullptr);
        dialog->selectFile(name);
        field->setText(name);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the name
    };

    QString title;
    whenListed([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        answer(dialog, QStringLiteral("Beispiel.kom"));
    });
    const auto opened = dialogs.OpenFile("Objekt laden..", dir.path().toStdString(), filters);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(*opened, existing.toStdString());
    EXPECT_EQ(title, QStringLiteral("Objekt laden.."));

    whenListed([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(dialogs.OpenFile("Objekt laden..", dir.path().toStdString(), filters).has_value());

    // Saving offers the current name in the folder; a new name gets the
    // filter's extension.
    QString offered;
    whenListed([&](QFileDialog* dialog) {
        offered = dialog->selectedFiles().value(0);
        answer(dialog, QStringLiteral("Neu"));
    });
    const auto saved = dialogs.SaveFile("Speichern unter..", dir.path().toStdString(), "Beispiel.kom", filters);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(offered, existing);
    EXPECT_EQ(*saved, dir.filePath(QStringLiteral("Neu.kom")).toStdString());
}

}  // namespace
