# The windows in either language: the choice, retranslation, texts that fit, saved projects.
umbrascope_add_test(NAME app_languages
  SOURCES LanguageTest.cpp QtTestSupport.cpp ../dialogs/DialogTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test)
