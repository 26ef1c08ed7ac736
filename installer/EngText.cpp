// The installer's English texts.

#include "SetupText.h"

const TSetupText EngSetupText = {
    "Vellumark software installation",
    "Version",
    "Electronic notebook\r\nCopyright (C) 2025 The Vellumark developers",
    "Choose the installation language",
    "Read license agreement conditions carefully",
    "END-USER AGREEMENT FOR VELLUMARK\r\n"
    "\r\n"
    "1. Vellumark, the electronic notebook (\"the program\"), is the work of The Vellumark "
    "developers, who hold all rights in it.\r\n"
    "\r\n"
    "2. You may install and use the program on any number of your own computers, free of "
    "charge, and give unchanged copies of its installer to others.\r\n"
    "\r\n"
    "3. You may not sell the program or pass off changed copies of it as the original.\r\n"
    "\r\n"
    "4. The program is provided as it is, without any warranty. The rights holders are not "
    "liable for any loss of data or other damage arising from its use. Keep copies of your "
    "contacts.\r\n"
    "\r\n"
    "5. To accept this agreement press the Agree button. If you do not accept it, press "
    "Cancel and do not install the program.",
    "Agree",
    "Choose installation folder",
    "Create a program group in Start Menu",
    "Create a program shortcut on the Desktop",
    "Create a program shortcut in Quick Launch (recommended)",
    "Launch program after install",
    "Next >",
    "< Back",
    "Cancel",
    "Browse...",
    "Install",
    "Exit",
    "Browse folders",
    "Installation status:",
    "The installation will be executed with the following preferences:",
    "If you agree with the conditions of the license agreement\r\nclick Agree. If you disagree, "
    "click Cancel",
    "\r\nTo continue the installation click Next >",
    "\r\nTo continue the installation click Install",
    "\r\nInstalling...",
    "\r\nInstallation successful!",
    "Errors occured while installing the program.\r\nInstallation uncomplete!",
    "No",
    "Yes",
    "Installation language",
    "Installation folder",
    "Creating installation directory",
    "Error",
    "Could'n find the directory",
    "Not enough free space on the hard drive",
    "Hard drive in the directory is entered incorrectly",
    "Copying program files",
    "Creating configuration file",
    "Checking free space on the hard drive",
    "Creating program group in the Start Menu",
    "Creating a shortcut on the Desktop",
    "Creating a shortcut in the Quick Launch",
    "Creating a program entry in the Registry",
    "Checking working software availability",
    "Can't close a working copy",
    "File overwrite confirmation",
    "The file already exists.",
    "Overwrite an existing file?",
    "Yes",
    "Yes for all",
    "No",
    "No for all",
    "Electronic notebook",
    "Uninstall Vellumark software",
    "www.vellumark.example",
    "https://www.vellumark.example/langs/eng/index.html",
    "https://www.vellumark.example/langs/eng/book.html",
    "https://www.vellumark.example/langs/eng/bookhelp.html",
    "Install Vellumark",
};

const TSetupText& SetupTextOf(int language) {
  if (language == 0) return RusSetupText;
  if (language == 1) return UkrSetupText;
  return EngSetupText;
}
