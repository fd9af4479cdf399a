#include "tests/support/gui_helpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

using namespace testing_gui;

class ProjectLists : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    // The window as a new program start finds the data folder.
    void open() {
        windows = createWindows(folder.root());
        projects = control<QComboBox>(windows.form1.get(), "Projekte");
        edit = control<QLineEdit>(windows.form1.get(), "Edit2");
        domains = control<QListWidget>(windows.form1.get(), "ListBox2");
    }

    void enterProject(const QString &name) {
        projects->setEditText(name);
        QTest::keyClick(projects, Qt::Key_Return);
    }
    void enterDomain(const QString &domain, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        edit->setText(domain);
        QTest::keyClick(edit, Qt::Key_Return, modifiers);
    }
    static QStringList texts(const QAbstractItemModel *items) {
        QStringList out;
        for (int i = 0; i < items->rowCount(); ++i)
            out << items->index(i, 0).data().toString();
        return out;
    }
    QStringList projectItems() const { return texts(projects->model()); }
    QStringList domainItems() const { return texts(domains->model()); }

    DataFolder folder;
    MessageCapture messages;
    Windows windows;
    QComboBox *projects = nullptr;
    QLineEdit *edit = nullptr;
    QListWidget *domains = nullptr;
};

TEST_F(ProjectLists, ReturnInProjekteOnAFreshInstallationKeepsEachNameOnceAtItsPlace) {
    ASSERT_FALSE(folder.exists("reporting"));
    enterProject(QStringLiteral("Bäckerei"));
    enterProject(QStringLiteral("Zweiter"));
    enterProject(QStringLiteral("Bäckerei"));
    QTest::keyClick(projects, Qt::Key_A); // other keys do nothing

    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(projectItems(), QStringList({"Bäckerei", "Zweiter"}));
    EXPECT_EQ(projects->currentText(), "Bäckerei"
                                       "a");
    EXPECT_EQ(folder.read("reporting/projekte.txt"), "B\xE4"
                                                     "ckerei\r\nZweiter\r\n");
}

TEST_F(ProjectLists, ReturnInEdit2MakesTheFoldersAndKeepsEachDomainOnce) {
    projects->setEditText(QStringLiteral("Kunde"));
    enterDomain(QStringLiteral("www.müller.de"));
    enterDomain(QStringLiteral("WWW.Müller.de"), Qt::ShiftModifier | Qt::ControlModifier);
    enterDomain(QStringLiteral("www.müller.de"));

    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(domainItems(), QStringList({"www.müller.de", "WWW.Müller.de"}));
    EXPECT_EQ(projectItems(), QStringList({"Kunde"}));
    EXPECT_EQ(edit->text(), "www.müller.de");
    EXPECT_EQ(folder.read("reporting/Kunde/domains.txt"),
              "www.m\xFCller.de\r\nWWW.M\xFCller.de\r\n");
    EXPECT_EQ(folder.read("reporting/projekte.txt"), "Kunde\r\n");
}

TEST_F(ProjectLists, TheInitialTextsStayAtStartAndReturnMakesProjectProjekteWithDomainDomain) {
    folder.write("reporting/projekte.txt", "Alpha\r\n");
    folder.write("reporting/Alpha/domains.txt", "a.de\r\n");
    open();
    EXPECT_EQ(projects->currentText(), "Projekte");
    EXPECT_EQ(domainItems(), QStringList());

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(projectItems(), QStringList({"Alpha", "Projekte"}));
    EXPECT_EQ(domainItems(), QStringList({"Domain"}));
    EXPECT_EQ(folder.read("reporting/projekte.txt"), "Alpha\r\nProjekte\r\n");
    EXPECT_EQ(folder.read("reporting/Projekte/domains.txt"), "Domain\r\n");
    EXPECT_EQ(projects->currentText(), "Projekte");
    EXPECT_EQ(edit->text(), "Domain");
}

TEST_F(ProjectLists, TheDomainsFollowTheProjectNameAsItIsTypedOrChosen) {
    folder.write("reporting/projekte.txt", "Alpha\r\nBeta\r\n");
    folder.write("reporting/Alpha/domains.txt", "a.de\r\nb.de\r\n");
    folder.write("reporting/Beta/domains.txt", "\xEF\xBB\xBF"
                                               "beta.de\nzwei.de");
    open();

    projects->lineEdit()->clear();
    QTest::keyClicks(projects->lineEdit(), QStringLiteral("Alpha"));
    EXPECT_EQ(domainItems(), QStringList({"a.de", "b.de"}));
    domains->item(1)->setSelected(true);
    QTest::keyClicks(projects->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(domainItems(), QStringList({"a.de", "b.de"}));

    projects->setCurrentIndex(1);
    EXPECT_EQ(domainItems(), QStringList({"beta.de", "zwei.de"}));
    EXPECT_TRUE(domains->selectedItems().isEmpty());
}

TEST_F(ProjectLists, ANameThatCannotBeAFolderGetsTheFileErrorAndLosesNothingOnScreen) {
    for (const QString &name : {QStringLiteral("Kunde:2013"), QStringLiteral("../accounts")}) {
        messages.clear();
        projects->setEditText(name);
        enterDomain(QStringLiteral("www.kunde.de"));
        const QString file = QDir::toNativeSeparators(QDir::cleanPath(
            QFileInfo(folder.path("reporting")).absoluteFilePath() + "/" + name + "/domains.txt"));
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(
            messages.texts()[0].startsWith("Datei \"" + file + "\" kann nicht erstellt werden. "))
            << messages.texts()[0].toStdString();
        EXPECT_TRUE(projectItems().contains(name));
        EXPECT_EQ(domainItems(), QStringList({"www.kunde.de"}));
    }
    EXPECT_EQ(folder.read("reporting/projekte.txt"), "Kunde:2013\r\n../accounts\r\n");
    EXPECT_FALSE(folder.exists("reporting/Kunde:2013"));
    EXPECT_FALSE(folder.exists("accounts/domains.txt"));

    // The empty name keeps its domains in the reporting folder itself.
    projects->setEditText(QString());
    enterDomain(QStringLiteral("leer.de"));
    EXPECT_EQ(folder.read("reporting/domains.txt"), "www.kunde.de\r\nleer.de\r\n");
}

} // namespace
