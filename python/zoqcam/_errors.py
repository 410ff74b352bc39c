"""The exception the compiled part raises for a failed API call."""


class Error(RuntimeError):
    """A call of the ZOQ API failed.

    ``code`` is the API's return code (negative, see zoq_errors.h), ``text``
    the API's text for it and ``call`` the API function that returned it.
    """

    def __init__(self, code: int, text: str, call: str = "") -> None:
        message = f"{call}: {text} ({code})" if call else f"{text} ({code})"
        super().__init__(message)
        self.code = code
        self.text = text
        self.call = call
