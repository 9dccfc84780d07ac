#pragma once

// A fixture for the tests of one page: the application set up, and the page
// made for each test and published in the program's global pointer for it
// (Form1, PathConfirmA...) while it lives, as the program does.

#include <memory>

#include <gtest/gtest.h>

#include "forms/Application.h"
#include "forms/Form.h"

template <class T, T *&Global> class PageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        application.Initialize();
        page.reset(new T(nullptr));
        Global = page.get();
    }
    void TearDown() override {
        Global = nullptr;
        page.reset();
    }

    TApplication application;
    TFormPtr<T> page;
};
