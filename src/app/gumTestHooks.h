#pragma once

// Installs who shows the message boxes: the real dialogs, or, when the
// environment names a box log (QUORVANTI_BOX_LOG), a recorder that appends
// each box to that file and answers it (QUORVANTI_BOX_ANSWER: "yes" or "no"),
// so that automated runs never wait on a modal box.
void gumInstallBoxPresenter();
