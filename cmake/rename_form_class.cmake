# Renames the class that uic generates for the main window form.
file(READ "${IN}" text)
string(REPLACE "Ui_Reriruvozive" "Ui_Deruvivuriri" text "${text}")
string(REPLACE "class Reriruvozive: public Ui_Deruvivuriri" "class Deruvivuriri: public Ui_Deruvivuriri" text "${text}")
file(WRITE "${OUT}" "${text}")
