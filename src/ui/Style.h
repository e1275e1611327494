// The window's look: a dark display with a dark control bar, and the menu as a raised panel.
#pragma once

namespace zorvel::ui {

inline constexpr char kWindowStyle[] = R"(
#Central, #BackBar { background: #1b2129; }
#BackBar QLabel, #BackBar QCheckBox { color: #d8dee6; }
#BackBar QCheckBox:disabled { color: #5d6773; }
#BigLbl { color: #f0f3f6; font-size: 15px; font-weight: bold; }
#MenuLbl { color: #9fb3c8; }
#MaximizeLbl { color: #9fb3c8; padding: 2px 6px; border: 1px solid #3a4654; border-radius: 3px; }
#BackBar QPushButton { background: #2e3945; color: #e6ebf0; border: 1px solid #46525f; border-radius: 3px;
                       padding: 3px 14px; }
#BackBar QPushButton:hover { background: #3a4756; }
#StopShowBtn { color: #ffb4a8; }
QTabWidget#pp::pane { background: #242c36; border: 1px solid #56657a; border-radius: 2px; }
QTabWidget#pp QTabBar::tab { background: #1f262f; color: #c3ccd6; padding: 5px 10px; border: 1px solid #3a4654;
                             border-bottom: none; }
QTabWidget#pp QTabBar::tab:selected { background: #242c36; color: #ffffff; border-color: #56657a; }
QTabWidget#pp QTabBar::tab:hover { color: #ffffff; }
QTabWidget#pp QLabel { color: #dfe5ec; }
QTabWidget#pp QLabel#PageTitleLbl { color: #8fa3b8; }
QTabWidget#pp QPushButton { background: #34404d; color: #eef2f5; border: 1px solid #56657a; border-radius: 3px;
                            padding: 5px 12px; }
QTabWidget#pp QPushButton:hover { background: #404e5e; }
QTabWidget#pp QPushButton:disabled { color: #6f7b88; background: #2a323c; }
QTabWidget#pp QPlainTextEdit { background: #151a20; color: #e3e8ee; border: 1px solid #3a4654; }
QTabWidget#pp QCheckBox, QTabWidget#pp QRadioButton { color: #dfe5ec; }
QTabWidget#pp QCheckBox:disabled, QTabWidget#pp QRadioButton:disabled { color: #6f7b88; }
QTabWidget#pp QGroupBox { color: #9fb3c8; border: 1px solid #3a4654; border-radius: 3px; margin-top: 12px;
                          padding: 8px 6px 4px 6px; }
QTabWidget#pp QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
QTabWidget#pp QListWidget { background: #151a20; color: #e3e8ee; border: 1px solid #3a4654; }
QTabWidget#pp QListWidget:disabled { color: #6f7b88; }
QTabWidget#pp QLineEdit { background: #f4f6f8; color: #101418; border: 1px solid #56657a; padding: 1px 3px; }
QTabWidget#pp QLabel[option="true"] { background: #2c3642; border: 1px solid #56657a; border-radius: 3px;
                                      padding: 3px 8px; color: #f0f3f6; }
QTabWidget#pp QLabel[option="true"]:hover { background: #3a4756; }
)";

}  // namespace zorvel::ui
