#pragma once

namespace kf {

struct Workspace;

namespace trends {

// The watched domains (Domain_Xovi, reporting\projekte_kw.txt) and the keywords watched per
// domain (kw_analyze, reporting\xovi\verlauf\<domain>.txt).

// Return in Domain_Xovi: its text joins the items, which are saved.
void enterDomain(Workspace &ws);
// Domain_Xovi changed: kw_analyze shows that domain's keyword file when it has one.
void chooseDomain(Workspace &ws);
// Return in kw_analyze_entry: the keyword joins kw_analyze, the domain joins Domain_Xovi, and
// both lists are saved.
void enterKeyword(Workspace &ws);

} // namespace trends
} // namespace kf
