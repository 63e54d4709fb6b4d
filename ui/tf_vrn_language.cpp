// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Langue" entry: a submenu after the other entries of "?", one checkable entry
// per language, each named in its own language. The choice is remembered in the settings and
// applies from the next start (the window's texts are set once, when it is built).

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "language_choice.h"
#include "message_box.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

QSettings settings() {
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")};
}

// Each language under its own name, whatever the window's language.
QString own_name(Language language) {
    return language == Language::English ? QStringLiteral("English") : QStringLiteral("Français");
}

} // namespace

void Tf_vrn::build_language_menu() {
    QMenu* interro = menuBar()->findChild<QMenu*>(QStringLiteral("m_interro"));
    if (!interro) return;
    QMenu* menu = interro->addMenu(tr("Langue"));
    menu->setObjectName(QStringLiteral("m_langue"));
    menu->menuAction()->setObjectName(QStringLiteral("m_langue_menu"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const Language language : kLanguages) {
        auto* action = new QAction(own_name(language), group);
        action->setObjectName(QStringLiteral("m_langue_") + QString::fromUtf8(language_code(language).data(), 2));
        action->setData(QString::fromUtf8(language_code(language).data(), 2));
        action->setCheckable(true);
        action->setChecked(language == installed_language());
        menu->addAction(action);
    }
    connect(group, &QActionGroup::triggered, this, &Tf_vrn::m_languageClick);
}

void Tf_vrn::m_languageClick(QAction* choice) {
    const auto language = language_from_code(choice->data().toString().toStdString());
    if (!language) return;
    QSettings store = settings();
    const std::optional<Language> before = remembered_language(store);
    remember_language(store, *language);
    store.sync();
    // Nothing to say when the window speaks it already and no other choice was pending.
    if (*language == installed_language() && (!before || *before == *language)) return;
    const QString text =
        *language == installed_language()
            ? tr("Le choix précédent est annulé : Vornel garde sa langue.")
            : (*language == Language::English ? tr("Vornel parlera anglais à son prochain démarrage.")
                                              : tr("Vornel parlera français à son prochain démarrage."));
    boxes_->show({BoxKind::Information, tr("Langue"), text});
}

} // namespace vornel
