#pragma once
// The environment session's windows in a throw-away program directory,
// driven through a scripted seam: the main window, the file chooser, the
// history picker and the key grid, installed as the global instances.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "editor/shell/formcgrid.h"
#include "editor/shell/formeqconf.h"
#include "editor/shell/formhist.h"
#include "editor/shell/formmain.h"
#include "editor/shell/seam.h"
#include "editor/testing/scripted_seam.h"

namespace zor::editor {

class EnvSession : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString before = QDir::currentPath();
    ScriptedSeam script;
    SeamScope scope{script};
    TformMain main;
    TformEqConf eqConf;
    TformHist hist;
    TformCGrid grid;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        main.launchDir = dir.path();
        main.programDir = dir.path();
        main.textEditorPath.clear();
        QDir::setCurrent(dir.path());
        formMain = &main;
        formEqConf = &eqConf;
        formHist = &hist;
        formCGrid = &grid;
    }
    void TearDown() override {
        formMain = nullptr;
        formEqConf = nullptr;
        formHist = nullptr;
        formCGrid = nullptr;
        QDir::setCurrent(before);
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    static void press(const Form& form, const char* button) {
        QPushButton* b = form.control<QPushButton>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& file, const QByteArray& content) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
};

}  // namespace zor::editor
