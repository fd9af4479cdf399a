#pragma once

#include "app/form1.h"
#include "sitemap/form2.h"

#include <QString>
#include <memory>

// The program's two windows. Form2 works on Form1's workspace, so it is destroyed first
// (members go in reverse order).
struct Windows {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
};

// Creates Form1 (its start-up sequence runs with AppFolder = appFolder plus a trailing
// separator) and then Form2, hidden; shows neither. Every call makes an independent pair with
// its own workspace and HTTP client.
Windows createWindows(const QString &appFolder);
